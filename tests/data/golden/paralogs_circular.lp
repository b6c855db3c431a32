Minimize
	- 2 p_1_a.1ha.2h - 2 p_1_a.1ta.2t - 2 z_a.1.1 - 2 z_a.2.1 + l_a.1h + l_a.1t + l_a.2h + l_a.2t - r_1_a.1h - r_1_a.1t - r_1_a.2h - r_1_a.2t - r_2_a.1h - r_2_a.1t + o_1_0 - 2 o_1_0

Subject To
	z_a.1.1 <= 1
	z_a.2.1 <= 1
	z_a.1.1 + z_a.2.1 <= 1
	t_2_a.1ha.1t + t_2_a.1ta.2h + t_2_a.1ta.2t <= 1
	t_2_a.1ha.1t + t_2_a.1ha.2h + t_2_a.1ha.2t <= 1
	t_2_a.1ha.2t + t_2_a.1ta.2t + t_2_a.2ha.2t <= 1
	t_2_a.1ha.2h + t_2_a.1ta.2h + t_2_a.2ha.2t <= 1
	t_1_a.1ha.1t <= 1
	t_1_a.1ha.1t <= 1
	t_1_a.1ha.1t + z_a.1.1 + z_a.2.1 <= 1
	t_1_a.1ha.1t + z_a.1.1 + z_a.2.1 <= 1
	t_2_a.1ha.1t + z_a.1.1 <= 1
	t_2_a.1ha.1t + z_a.1.1 <= 1
	t_2_a.1ha.2h + z_a.1.1 <= 1
	t_2_a.1ha.2h + z_a.2.1 <= 1
	t_2_a.1ha.2t + z_a.1.1 <= 1
	t_2_a.1ha.2t + z_a.2.1 <= 1
	t_2_a.1ta.2h + z_a.1.1 <= 1
	t_2_a.1ta.2h + z_a.2.1 <= 1
	t_2_a.1ta.2t + z_a.1.1 <= 1
	t_2_a.1ta.2t + z_a.2.1 <= 1
	t_2_a.2ha.2t + z_a.2.1 <= 1
	t_2_a.2ha.2t + z_a.2.1 <= 1
	t_2_a.1ha.1t - z_a.1.1 - z_a.2.1 <= 0
	t_2_a.1ta.2t - z_a.1.1 - z_a.2.1 <= 0
	t_2_a.1ta.2h - z_a.1.1 - z_a.2.1 <= 0
	t_2_a.1ha.1t - z_a.1.1 - z_a.2.1 <= 0
	t_2_a.1ha.2t - z_a.1.1 - z_a.2.1 <= 0
	t_2_a.1ha.2h - z_a.1.1 - z_a.2.1 <= 0
	t_2_a.1ta.2t - z_a.1.1 - z_a.2.1 <= 0
	t_2_a.1ha.2t - z_a.1.1 - z_a.2.1 <= 0
	t_2_a.2ha.2t - z_a.1.1 - z_a.2.1 <= 0
	t_2_a.1ta.2h - z_a.1.1 - z_a.2.1 <= 0
	t_2_a.1ha.2h - z_a.1.1 - z_a.2.1 <= 0
	t_2_a.2ha.2t - z_a.1.1 - z_a.2.1 <= 0
	2 t_2_a.1ha.1t + 2 t_2_a.1ta.2h + 2 t_2_a.1ta.2t + z_a.1.1 - z_a.2.1 >= 0
	2 t_2_a.1ha.1t + 2 t_2_a.1ha.2h + 2 t_2_a.1ha.2t + z_a.1.1 - z_a.2.1 >= 0
	2 t_2_a.1ha.2t + 2 t_2_a.1ta.2t + 2 t_2_a.2ha.2t - z_a.1.1 + z_a.2.1 >= 0
	2 t_2_a.1ha.2h + 2 t_2_a.1ta.2h + 2 t_2_a.2ha.2t - z_a.1.1 + z_a.2.1 >= 0
	t_1_a.1ha.1t + z_a.1.1 + z_a.2.1 >= 1
	t_1_a.1ha.1t + z_a.1.1 + z_a.2.1 >= 1
	- u_1_a.1ha.2h + z_a.1.1 + z_a.2.1 >= 0
	- u_1_a.1ta.2t + 2 z_a.1.1 + 2 z_a.2.1 >= 0
	u_1_a.1ta.2t + 2 z_a.1.1 <= 2
	u_1_a.1ta.2t + 2 z_a.2.1 <= 2
	u_1_a.1ha.2h + z_a.1.1 <= 1
	u_1_a.1ha.2h + z_a.2.1 <= 1
	t_2_a.1ha.2h <= 1
	t_2_a.1ha.2h <= 1
	t_2_a.1ha.2h <= 1
	t_2_a.1ha.2h <= 1
	t_2_a.1ha.1t + u_1_a.1ha.2h - u_1_a.1ta.2t <= 1
	2 t_2_a.1ha.1t - u_1_a.1ha.2h + u_1_a.1ta.2t <= 2
	t_2_a.1ha.2t + u_1_a.1ha.2h - u_1_a.1ta.2t <= 1
	2 t_2_a.1ha.2t - u_1_a.1ha.2h + u_1_a.1ta.2t <= 2
	t_2_a.1ta.2h + u_1_a.1ha.2h - u_1_a.1ta.2t <= 1
	2 t_2_a.1ta.2h - u_1_a.1ha.2h + u_1_a.1ta.2t <= 2
	t_2_a.2ha.2t + u_1_a.1ha.2h - u_1_a.1ta.2t <= 1
	2 t_2_a.2ha.2t - u_1_a.1ha.2h + u_1_a.1ta.2t <= 2
	2 t_2_a.1ha.1t - u_1_a.1ha.2h + u_1_a.1ta.2t <= 2
	t_2_a.1ha.1t + u_1_a.1ha.2h - u_1_a.1ta.2t <= 1
	2 t_2_a.1ta.2h - u_1_a.1ha.2h + u_1_a.1ta.2t <= 2
	t_2_a.1ta.2h + u_1_a.1ha.2h - u_1_a.1ta.2t <= 1
	2 t_2_a.1ha.2t - u_1_a.1ha.2h + u_1_a.1ta.2t <= 2
	t_2_a.1ha.2t + u_1_a.1ha.2h - u_1_a.1ta.2t <= 1
	2 t_2_a.2ha.2t - u_1_a.1ha.2h + u_1_a.1ta.2t <= 2
	t_2_a.2ha.2t + u_1_a.1ha.2h - u_1_a.1ta.2t <= 1
	2 t_2_a.1ta.2t <= 2
	2 t_2_a.1ta.2t <= 2
	2 t_2_a.1ta.2t <= 2
	2 t_2_a.1ta.2t <= 2
	- p_1_a.1ha.2h + u_1_a.1ha.2h >= 0
	- 2 p_1_a.1ta.2t + u_1_a.1ta.2t >= 0
	r_1_a.1h + r_1_a.2h <= 0
	r_1_a.1t + r_1_a.2t <= 0
	2 r_1_a.1t + 2 t_2_a.1ta.1t <= 2
	r_1_a.1h + r_1_a.1t + 2 t_2_a.1ha.1t <= 2
	r_1_a.1t + r_1_a.2h + 2 t_2_a.1ta.2h <= 2
	r_1_a.1h + r_1_a.1t + 2 t_2_a.1ha.1t <= 2
	2 r_1_a.1h + 2 t_2_a.1ha.1h <= 2
	r_1_a.1h + r_1_a.2t + 2 t_2_a.1ha.2t <= 2
	r_1_a.1h + r_1_a.2t + 2 t_2_a.1ha.2t <= 2
	2 r_1_a.2t + 2 t_2_a.2ta.2t <= 2
	r_1_a.2h + r_1_a.2t + 2 t_2_a.2ha.2t <= 2
	r_1_a.1t + r_1_a.2h + 2 t_2_a.1ta.2h <= 2
	r_1_a.2h + r_1_a.2t + 2 t_2_a.2ha.2t <= 2
	2 r_1_a.2h + 2 t_2_a.2ha.2h <= 2
	2 r_2_a.1t + 2 t_1_a.1ta.1t <= 2
	r_2_a.1h + r_2_a.1t + 2 t_1_a.1ha.1t <= 2
	r_2_a.1h + r_2_a.1t + 2 t_1_a.1ha.1t <= 2
	2 r_2_a.1h + 2 t_1_a.1ha.1h <= 2
	r_1_a.1t - r_2_a.1t + 2 z_a.1.1 <= 2
	r_1_a.1t - r_2_a.1t - 2 z_a.1.1 >= -2
	r_1_a.1h - r_2_a.1h + 2 z_a.1.1 <= 2
	r_1_a.1h - r_2_a.1h - 2 z_a.1.1 >= -2
	r_1_a.2t - r_2_a.1t + 2 z_a.2.1 <= 2
	r_1_a.2t - r_2_a.1t - 2 z_a.2.1 >= -2
	r_1_a.2h - r_2_a.1h + 2 z_a.2.1 <= 2
	r_1_a.2h - r_2_a.1h - 2 z_a.2.1 >= -2
	l_a.1t + z_a.1.1 >= 0
	l_a.1t - z_a.1.1 <= 0
	l_a.1t - r_1_a.1t + 2 z_a.1.1 <= 2
	- l_a.1t + r_1_a.1t + 2 z_a.1.1 <= 2
	l_a.1h + z_a.1.1 >= 0
	l_a.1h - z_a.1.1 <= 0
	l_a.1h - r_1_a.1h + 2 z_a.1.1 <= 2
	- l_a.1h + r_1_a.1h + 2 z_a.1.1 <= 2
	l_a.2t + z_a.2.1 >= 0
	l_a.2t - z_a.2.1 <= 0
	l_a.2t - r_1_a.2t + 2 z_a.2.1 <= 2
	- l_a.2t + r_1_a.2t + 2 z_a.2.1 <= 2
	l_a.2h + z_a.2.1 >= 0
	l_a.2h - z_a.2.1 <= 0
	l_a.2h - r_1_a.2h + 2 z_a.2.1 <= 2
	- l_a.2h + r_1_a.2h + 2 z_a.2.1 <= 2
	2 o_1_0 + z_a.1.1 + z_a.2.1 <= 2

Bounds
	u_1_a.1ha.2h >= 0
	u_1_a.1ha.2h <= 1
	u_1_a.1ta.2t >= 0
	u_1_a.1ta.2t <= 2
	r_1_a.1t >= -1
	r_1_a.1t <= 1
	r_1_a.1h >= -1
	r_1_a.1h <= 1
	r_1_a.2t >= -1
	r_1_a.2t <= 1
	r_1_a.2h >= -1
	r_1_a.2h <= 1
	r_2_a.1t >= -1
	r_2_a.1t <= 1
	r_2_a.1h >= -1
	r_2_a.1h <= 1
	l_a.1t >= -1
	l_a.1t <= 1
	l_a.1h >= -1
	l_a.1h <= 1
	l_a.2t >= -1
	l_a.2t <= 1
	l_a.2h >= -1
	l_a.2h <= 1


Binary
	p_1_a.1ha.2h
	p_1_a.1ta.2t
	t_1_a.1ha.1h
	t_1_a.1ha.1t
	t_1_a.1ta.1t
	t_2_a.1ha.1h
	t_2_a.1ha.1t
	t_2_a.1ha.2h
	t_2_a.1ha.2t
	t_2_a.1ta.1t
	t_2_a.1ta.2h
	t_2_a.1ta.2t
	t_2_a.2ha.2h
	t_2_a.2ha.2t
	t_2_a.2ta.2t
	z_a.1.1
	z_a.2.1

General
	l_a.1h
	l_a.1t
	l_a.2h
	l_a.2t
	o_1_0
	r_1_a.1h
	r_1_a.1t
	r_1_a.2h
	r_1_a.2t
	r_2_a.1h
	r_2_a.1t
	u_1_a.1ha.2h
	u_1_a.1ta.2t

End