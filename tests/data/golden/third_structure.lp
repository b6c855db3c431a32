Minimize
	- 2 p_1_a.1hb.1t - 2 p_2_a.1hb.1h - 2 p_2_a.1tb.1t - 2 z_a.1.1 - 2 z_b.1.1 + l_a.1h + l_a.1t + l_b.1h + l_b.1t - r_1_a.1h - r_1_a.1t - r_1_b.1h - r_1_b.1t - r_2_a.1h - r_2_a.1t - r_2_b.1h - r_2_b.1t + o_2_0 - 2 o_2_0

Subject To
	z_a.1.1 <= 1
	z_b.1.1 <= 1
	z_a.1.1 <= 1
	z_b.1.1 <= 1
	t_2_a.1ha.1t + t_2_a.1tb.1h + t_2_a.1tb.1t <= 1
	t_2_a.1ha.1t + t_2_a.1hb.1h + t_2_a.1hb.1t <= 1
	t_2_a.1hb.1t + t_2_a.1tb.1t + t_2_b.1hb.1t <= 1
	t_2_a.1hb.1h + t_2_a.1tb.1h + t_2_b.1hb.1t <= 1
	t_1_a.1ha.1t + t_1_a.1tb.1h + t_1_a.1tb.1t <= 1
	t_1_a.1ha.1t + t_1_a.1hb.1h + t_1_a.1hb.1t <= 1
	t_1_a.1hb.1t + t_1_a.1tb.1t + t_1_b.1hb.1t <= 1
	t_1_a.1hb.1h + t_1_a.1tb.1h + t_1_b.1hb.1t <= 1
	t_1_a.1ha.1t + z_a.1.1 <= 1
	t_1_a.1ha.1t + z_a.1.1 <= 1
	t_1_a.1hb.1h + z_a.1.1 <= 1
	t_1_a.1hb.1h + z_b.1.1 <= 1
	t_1_a.1hb.1t + z_a.1.1 <= 1
	t_1_a.1hb.1t + z_b.1.1 <= 1
	t_1_a.1tb.1h + z_a.1.1 <= 1
	t_1_a.1tb.1h + z_b.1.1 <= 1
	t_1_a.1tb.1t + z_a.1.1 <= 1
	t_1_a.1tb.1t + z_b.1.1 <= 1
	t_1_b.1hb.1t + z_b.1.1 <= 1
	t_1_b.1hb.1t + z_b.1.1 <= 1
	t_2_a.1ha.1t + z_a.1.1 <= 1
	t_2_a.1ha.1t + z_a.1.1 <= 1
	t_2_a.1hb.1h + z_a.1.1 <= 1
	t_2_a.1hb.1h + z_b.1.1 <= 1
	t_2_a.1hb.1t + z_a.1.1 <= 1
	t_2_a.1hb.1t + z_b.1.1 <= 1
	t_2_a.1tb.1h + z_a.1.1 <= 1
	t_2_a.1tb.1h + z_b.1.1 <= 1
	t_2_a.1tb.1t + z_a.1.1 <= 1
	t_2_a.1tb.1t + z_b.1.1 <= 1
	t_2_b.1hb.1t + z_b.1.1 <= 1
	t_2_b.1hb.1t + z_b.1.1 <= 1
	t_1_a.1ha.1t - z_a.1.1 - z_b.1.1 <= 0
	t_1_a.1tb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_1_a.1tb.1h - z_a.1.1 - z_b.1.1 <= 0
	t_1_a.1ha.1t - z_a.1.1 - z_b.1.1 <= 0
	t_1_a.1hb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_1_a.1hb.1h - z_a.1.1 - z_b.1.1 <= 0
	t_1_a.1tb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_1_a.1hb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_1_b.1hb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_1_a.1tb.1h - z_a.1.1 - z_b.1.1 <= 0
	t_1_a.1hb.1h - z_a.1.1 - z_b.1.1 <= 0
	t_1_b.1hb.1t - z_a.1.1 - z_b.1.1 <= 0
	2 t_1_a.1ha.1t + 2 t_1_a.1tb.1h + 2 t_1_a.1tb.1t + z_a.1.1 - z_b.1.1 >= 0
	2 t_1_a.1ha.1t + 2 t_1_a.1hb.1h + 2 t_1_a.1hb.1t + z_a.1.1 - z_b.1.1 >= 0
	2 t_1_a.1hb.1t + 2 t_1_a.1tb.1t + 2 t_1_b.1hb.1t - z_a.1.1 + z_b.1.1 >= 0
	2 t_1_a.1hb.1h + 2 t_1_a.1tb.1h + 2 t_1_b.1hb.1t - z_a.1.1 + z_b.1.1 >= 0
	t_2_a.1ha.1t + t_2_a.1tb.1h + t_2_a.1tb.1t + z_a.1.1 >= 1
	t_2_a.1ha.1t + t_2_a.1hb.1h + t_2_a.1hb.1t + z_a.1.1 >= 1
	t_2_a.1hb.1t + t_2_a.1tb.1t + t_2_b.1hb.1t + z_b.1.1 >= 1
	t_2_a.1hb.1h + t_2_a.1tb.1h + t_2_b.1hb.1t + z_b.1.1 >= 1
	- u_2_a.1hb.1h + 2 z_a.1.1 + 2 z_b.1.1 >= 0
	- u_2_a.1tb.1t + 3 z_a.1.1 + 3 z_b.1.1 >= 0
	u_2_a.1tb.1t + 3 z_a.1.1 <= 3
	u_2_a.1hb.1h + 2 z_b.1.1 <= 2
	t_2_a.1ha.1t + u_1_a.1hb.1t <= 1
	t_2_a.1tb.1t + u_1_a.1hb.1t <= 1
	t_2_a.1hb.1h + u_1_a.1hb.1t <= 1
	t_2_b.1hb.1t + u_1_a.1hb.1t <= 1
	u_1_a.1hb.1t - u_2_a.1hb.1h + z_a.1.1 <= 1
	- u_1_a.1hb.1t + u_2_a.1hb.1h + 2 z_a.1.1 <= 2
	u_1_a.1hb.1t - u_2_a.1tb.1t + z_b.1.1 <= 1
	- u_1_a.1hb.1t + u_2_a.1tb.1t + 3 z_b.1.1 <= 3
	t_2_a.1hb.1t <= 1
	t_2_a.1hb.1t <= 1
	t_2_a.1hb.1t <= 1
	t_2_a.1hb.1t <= 1
	2 t_1_a.1hb.1h <= 2
	2 t_1_a.1hb.1h <= 2
	2 t_1_a.1hb.1h <= 2
	2 t_1_a.1hb.1h <= 2
	2 t_1_a.1ha.1t + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2
	3 t_1_a.1ha.1t - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3
	2 t_1_a.1hb.1t + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2
	3 t_1_a.1hb.1t - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3
	2 t_1_a.1tb.1h + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2
	3 t_1_a.1tb.1h - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3
	2 t_1_b.1hb.1t + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2
	3 t_1_b.1hb.1t - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3
	3 t_1_a.1ha.1t - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3
	2 t_1_a.1ha.1t + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2
	3 t_1_a.1tb.1h - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3
	2 t_1_a.1tb.1h + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2
	3 t_1_a.1hb.1t - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3
	2 t_1_a.1hb.1t + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2
	3 t_1_b.1hb.1t - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3
	2 t_1_b.1hb.1t + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2
	3 t_1_a.1tb.1t <= 3
	3 t_1_a.1tb.1t <= 3
	3 t_1_a.1tb.1t <= 3
	3 t_1_a.1tb.1t <= 3
	- 2 p_2_a.1hb.1h + u_2_a.1hb.1h >= 0
	- p_1_a.1hb.1t + u_1_a.1hb.1t >= 0
	- 3 p_2_a.1tb.1t + u_2_a.1tb.1t >= 0
	r_1_a.1h + r_1_b.1t <= 0
	r_2_a.1h + r_2_b.1h <= 0
	r_2_a.1t + r_2_b.1t <= 0
	2 r_1_a.1t + 2 t_2_a.1ta.1t <= 2
	r_1_a.1h + r_1_a.1t + 2 t_2_a.1ha.1t <= 2
	r_1_a.1t + r_1_b.1t + 2 t_2_a.1tb.1t <= 2
	r_1_a.1t + r_1_b.1h + 2 t_2_a.1tb.1h <= 2
	r_1_a.1h + r_1_a.1t + 2 t_2_a.1ha.1t <= 2
	2 r_1_a.1h + 2 t_2_a.1ha.1h <= 2
	r_1_a.1h + r_1_b.1h + 2 t_2_a.1hb.1h <= 2
	r_1_a.1t + r_1_b.1t + 2 t_2_a.1tb.1t <= 2
	2 r_1_b.1t + 2 t_2_b.1tb.1t <= 2
	r_1_b.1h + r_1_b.1t + 2 t_2_b.1hb.1t <= 2
	r_1_a.1t + r_1_b.1h + 2 t_2_a.1tb.1h <= 2
	r_1_a.1h + r_1_b.1h + 2 t_2_a.1hb.1h <= 2
	r_1_b.1h + r_1_b.1t + 2 t_2_b.1hb.1t <= 2
	2 r_1_b.1h + 2 t_2_b.1hb.1h <= 2
	2 r_2_a.1t + 2 t_1_a.1ta.1t <= 2
	r_2_a.1h + r_2_a.1t + 2 t_1_a.1ha.1t <= 2
	r_2_a.1t + r_2_b.1h + 2 t_1_a.1tb.1h <= 2
	r_2_a.1h + r_2_a.1t + 2 t_1_a.1ha.1t <= 2
	2 r_2_a.1h + 2 t_1_a.1ha.1h <= 2
	r_2_a.1h + r_2_b.1t + 2 t_1_a.1hb.1t <= 2
	r_2_a.1h + r_2_b.1t + 2 t_1_a.1hb.1t <= 2
	2 r_2_b.1t + 2 t_1_b.1tb.1t <= 2
	r_2_b.1h + r_2_b.1t + 2 t_1_b.1hb.1t <= 2
	r_2_a.1t + r_2_b.1h + 2 t_1_a.1tb.1h <= 2
	r_2_b.1h + r_2_b.1t + 2 t_1_b.1hb.1t <= 2
	2 r_2_b.1h + 2 t_1_b.1hb.1h <= 2
	r_1_a.1t - r_2_a.1t + 2 z_a.1.1 <= 2
	r_1_a.1t - r_2_a.1t - 2 z_a.1.1 >= -2
	r_1_a.1h - r_2_a.1h + 2 z_a.1.1 <= 2
	r_1_a.1h - r_2_a.1h - 2 z_a.1.1 >= -2
	r_1_b.1t - r_2_b.1t + 2 z_b.1.1 <= 2
	r_1_b.1t - r_2_b.1t - 2 z_b.1.1 >= -2
	r_1_b.1h - r_2_b.1h + 2 z_b.1.1 <= 2
	r_1_b.1h - r_2_b.1h - 2 z_b.1.1 >= -2
	l_a.1t + z_a.1.1 >= 0
	l_a.1t - z_a.1.1 <= 0
	l_a.1t - r_1_a.1t + 2 z_a.1.1 <= 2
	- l_a.1t + r_1_a.1t + 2 z_a.1.1 <= 2
	l_a.1h + z_a.1.1 >= 0
	l_a.1h - z_a.1.1 <= 0
	l_a.1h - r_1_a.1h + 2 z_a.1.1 <= 2
	- l_a.1h + r_1_a.1h + 2 z_a.1.1 <= 2
	l_b.1t + z_b.1.1 >= 0
	l_b.1t - z_b.1.1 <= 0
	l_b.1t - r_1_b.1t + 2 z_b.1.1 <= 2
	- l_b.1t + r_1_b.1t + 2 z_b.1.1 <= 2
	l_b.1h + z_b.1.1 >= 0
	l_b.1h - z_b.1.1 <= 0
	l_b.1h - r_1_b.1h + 2 z_b.1.1 <= 2
	- l_b.1h + r_1_b.1h + 2 z_b.1.1 <= 2
	2 o_2_0 + z_a.1.1 + z_b.1.1 <= 2

Bounds
	u_2_a.1hb.1h >= 0
	u_2_a.1hb.1h <= 2
	u_1_a.1hb.1t >= 0
	u_1_a.1hb.1t <= 1
	u_2_a.1tb.1t >= 0
	u_2_a.1tb.1t <= 3
	r_1_a.1t >= -1
	r_1_a.1t <= 1
	r_1_a.1h >= -1
	r_1_a.1h <= 1
	r_1_b.1t >= -1
	r_1_b.1t <= 1
	r_1_b.1h >= -1
	r_1_b.1h <= 1
	r_2_a.1t >= -1
	r_2_a.1t <= 1
	r_2_a.1h >= -1
	r_2_a.1h <= 1
	r_2_b.1t >= -1
	r_2_b.1t <= 1
	r_2_b.1h >= -1
	r_2_b.1h <= 1
	l_a.1t >= -1
	l_a.1t <= 1
	l_a.1h >= -1
	l_a.1h <= 1
	l_b.1t >= -1
	l_b.1t <= 1
	l_b.1h >= -1
	l_b.1h <= 1


Binary
	p_1_a.1hb.1t
	p_2_a.1hb.1h
	p_2_a.1tb.1t
	t_1_a.1ha.1h
	t_1_a.1ha.1t
	t_1_a.1hb.1h
	t_1_a.1hb.1t
	t_1_a.1ta.1t
	t_1_a.1tb.1h
	t_1_a.1tb.1t
	t_1_b.1hb.1h
	t_1_b.1hb.1t
	t_1_b.1tb.1t
	t_2_a.1ha.1h
	t_2_a.1ha.1t
	t_2_a.1hb.1h
	t_2_a.1hb.1t
	t_2_a.1ta.1t
	t_2_a.1tb.1h
	t_2_a.1tb.1t
	t_2_b.1hb.1h
	t_2_b.1hb.1t
	t_2_b.1tb.1t
	z_a.1.1
	z_b.1.1

General
	l_a.1h
	l_a.1t
	l_b.1h
	l_b.1t
	o_2_0
	r_1_a.1h
	r_1_a.1t
	r_1_b.1h
	r_1_b.1t
	r_2_a.1h
	r_2_a.1t
	r_2_b.1h
	r_2_b.1t
	u_1_a.1hb.1t
	u_2_a.1hb.1h
	u_2_a.1tb.1t

End