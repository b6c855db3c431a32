Minimize
	- 2 p_1_a.1hx.1t - 2 z_a.1.1 + l_a.1h + l_a.1t + l_x.1h + l_x.1t - r_1_a.1h - r_1_a.1t - r_1_x.1h - r_1_x.1t - r_2_a.1h - r_2_a.1t

Subject To
	z_a.1.1 <= 1
	z_a.1.1 <= 1
	t_2_a.1ha.1t + t_2_a.1tx.1h + t_2_a.1tx.1t <= 1
	t_2_a.1ha.1t + t_2_a.1hx.1h + t_2_a.1hx.1t <= 1
	t_2_a.1hx.1t + t_2_a.1tx.1t + t_2_x.1hx.1t <= 1
	t_2_a.1hx.1h + t_2_a.1tx.1h + t_2_x.1hx.1t <= 1
	t_1_a.1ha.1t <= 1
	t_1_a.1ha.1t <= 1
	t_1_a.1ha.1t + z_a.1.1 <= 1
	t_1_a.1ha.1t + z_a.1.1 <= 1
	t_2_a.1ha.1t + z_a.1.1 <= 1
	t_2_a.1ha.1t + z_a.1.1 <= 1
	t_2_a.1hx.1h + z_a.1.1 <= 1
	t_2_a.1hx.1h <= 1
	t_2_a.1hx.1t + z_a.1.1 <= 1
	t_2_a.1hx.1t <= 1
	t_2_a.1tx.1h + z_a.1.1 <= 1
	t_2_a.1tx.1h <= 1
	t_2_a.1tx.1t + z_a.1.1 <= 1
	t_2_a.1tx.1t <= 1
	t_2_x.1hx.1t <= 1
	t_2_x.1hx.1t <= 1
	t_2_a.1ha.1t + t_2_a.1tx.1h + t_2_a.1tx.1t + z_a.1.1 >= 1
	t_2_a.1ha.1t + t_2_a.1hx.1h + t_2_a.1hx.1t + z_a.1.1 >= 1
	t_2_a.1hx.1t + t_2_a.1tx.1t + t_2_x.1hx.1t >= 1
	t_2_a.1hx.1h + t_2_a.1tx.1h + t_2_x.1hx.1t >= 1
	t_1_a.1ha.1t + z_a.1.1 >= 1
	t_1_a.1ha.1t + z_a.1.1 >= 1
	u_1_a.1hx.1t + z_a.1.1 <= 1
	t_2_a.1ha.1t + u_1_a.1hx.1t <= 1
	t_2_a.1tx.1t + u_1_a.1hx.1t <= 1
	t_2_a.1hx.1h + u_1_a.1hx.1t <= 1
	t_2_x.1hx.1t + u_1_a.1hx.1t <= 1
	t_2_a.1hx.1t <= 1
	t_2_a.1hx.1t <= 1
	t_2_a.1hx.1t <= 1
	t_2_a.1hx.1t <= 1
	- p_1_a.1hx.1t + u_1_a.1hx.1t >= 0
	r_1_a.1h + r_1_x.1t <= 0
	2 r_1_a.1t + 2 t_2_a.1ta.1t <= 2
	r_1_a.1h + r_1_a.1t + 2 t_2_a.1ha.1t <= 2
	r_1_a.1t + r_1_x.1t + 2 t_2_a.1tx.1t <= 2
	r_1_a.1t + r_1_x.1h + 2 t_2_a.1tx.1h <= 2
	r_1_a.1h + r_1_a.1t + 2 t_2_a.1ha.1t <= 2
	2 r_1_a.1h + 2 t_2_a.1ha.1h <= 2
	r_1_a.1h + r_1_x.1h + 2 t_2_a.1hx.1h <= 2
	r_1_a.1t + r_1_x.1t + 2 t_2_a.1tx.1t <= 2
	2 r_1_x.1t + 2 t_2_x.1tx.1t <= 2
	r_1_x.1h + r_1_x.1t + 2 t_2_x.1hx.1t <= 2
	r_1_a.1t + r_1_x.1h + 2 t_2_a.1tx.1h <= 2
	r_1_a.1h + r_1_x.1h + 2 t_2_a.1hx.1h <= 2
	r_1_x.1h + r_1_x.1t + 2 t_2_x.1hx.1t <= 2
	2 r_1_x.1h + 2 t_2_x.1hx.1h <= 2
	2 r_2_a.1t + 2 t_1_a.1ta.1t <= 2
	r_2_a.1h + r_2_a.1t + 2 t_1_a.1ha.1t <= 2
	r_2_a.1h + r_2_a.1t + 2 t_1_a.1ha.1t <= 2
	2 r_2_a.1h + 2 t_1_a.1ha.1h <= 2
	r_1_a.1t - r_2_a.1t + 2 z_a.1.1 <= 2
	r_1_a.1t - r_2_a.1t - 2 z_a.1.1 >= -2
	r_1_a.1h - r_2_a.1h + 2 z_a.1.1 <= 2
	r_1_a.1h - r_2_a.1h - 2 z_a.1.1 >= -2
	l_a.1t + z_a.1.1 >= 0
	l_a.1t - z_a.1.1 <= 0
	l_a.1t - r_1_a.1t + 2 z_a.1.1 <= 2
	- l_a.1t + r_1_a.1t + 2 z_a.1.1 <= 2
	l_a.1h + z_a.1.1 >= 0
	l_a.1h - z_a.1.1 <= 0
	l_a.1h - r_1_a.1h + 2 z_a.1.1 <= 2
	- l_a.1h + r_1_a.1h + 2 z_a.1.1 <= 2
	l_x.1t >= 0
	l_x.1t <= 0
	l_x.1t - r_1_x.1t <= 2
	- l_x.1t + r_1_x.1t <= 2
	l_x.1h >= 0
	l_x.1h <= 0
	l_x.1h - r_1_x.1h <= 2
	- l_x.1h + r_1_x.1h <= 2

Bounds
	u_1_a.1hx.1t >= 0
	u_1_a.1hx.1t <= 1
	r_1_a.1t >= -1
	r_1_a.1t <= 1
	r_1_a.1h >= -1
	r_1_a.1h <= 1
	r_1_x.1t >= -1
	r_1_x.1t <= 1
	r_1_x.1h >= -1
	r_1_x.1h <= 1
	r_2_a.1t >= -1
	r_2_a.1t <= 1
	r_2_a.1h >= -1
	r_2_a.1h <= 1
	l_a.1t >= -1
	l_a.1t <= 1
	l_a.1h >= -1
	l_a.1h <= 1
	l_x.1t >= -1
	l_x.1t <= 1
	l_x.1h >= -1
	l_x.1h <= 1


Binary
	p_1_a.1hx.1t
	t_1_a.1ha.1h
	t_1_a.1ha.1t
	t_1_a.1ta.1t
	t_2_a.1ha.1h
	t_2_a.1ha.1t
	t_2_a.1hx.1h
	t_2_a.1hx.1t
	t_2_a.1ta.1t
	t_2_a.1tx.1h
	t_2_a.1tx.1t
	t_2_x.1hx.1h
	t_2_x.1hx.1t
	t_2_x.1tx.1t
	z_a.1.1

General
	l_a.1h
	l_a.1t
	l_x.1h
	l_x.1t
	r_1_a.1h
	r_1_a.1t
	r_1_x.1h
	r_1_x.1t
	r_2_a.1h
	r_2_a.1t
	u_1_a.1hx.1t

End