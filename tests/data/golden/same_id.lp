Minimize
	- 2 p_3_a.1hb.1t - 2 p_3_a.1tb.1h - 2 z_a.1.1 - 2 z_b.1.1 + l_a.1h + l_a.1t + l_b.1h + l_b.1t - r_3_a.1h - r_3_a.1t - r_3_b.1h - r_3_b.1t + o_3_0 - 2 o_3_0

Subject To
	z_a.1.1 <= 1
	z_b.1.1 <= 1
	z_a.1.1 <= 1
	z_b.1.1 <= 1
	t_3_a.1ha.1t + t_3_a.1tb.1h + t_3_a.1tb.1t <= 1
	t_3_a.1ha.1t + t_3_a.1hb.1h + t_3_a.1hb.1t <= 1
	t_3_a.1hb.1t + t_3_a.1tb.1t + t_3_b.1hb.1t <= 1
	t_3_a.1hb.1h + t_3_a.1tb.1h + t_3_b.1hb.1t <= 1
	t_3_a.1hb.1t + t_3_a.1tb.1t + t_3_b.1hb.1t <= 1
	t_3_a.1hb.1h + t_3_a.1tb.1h + t_3_b.1hb.1t <= 1
	t_3_a.1ha.1t + t_3_a.1tb.1h + t_3_a.1tb.1t <= 1
	t_3_a.1ha.1t + t_3_a.1hb.1h + t_3_a.1hb.1t <= 1
	t_3_a.1ha.1t + z_a.1.1 <= 1
	t_3_a.1ha.1t + z_a.1.1 <= 1
	t_3_a.1hb.1h + z_a.1.1 <= 1
	t_3_a.1hb.1h + z_b.1.1 <= 1
	t_3_a.1hb.1t + z_a.1.1 <= 1
	t_3_a.1hb.1t + z_b.1.1 <= 1
	t_3_a.1tb.1h + z_a.1.1 <= 1
	t_3_a.1tb.1h + z_b.1.1 <= 1
	t_3_a.1tb.1t + z_a.1.1 <= 1
	t_3_a.1tb.1t + z_b.1.1 <= 1
	t_3_b.1hb.1t + z_b.1.1 <= 1
	t_3_b.1hb.1t + z_b.1.1 <= 1
	t_3_a.1ha.1t + z_a.1.1 <= 1
	t_3_a.1ha.1t + z_a.1.1 <= 1
	t_3_a.1hb.1h + z_a.1.1 <= 1
	t_3_a.1hb.1h + z_b.1.1 <= 1
	t_3_a.1hb.1t + z_a.1.1 <= 1
	t_3_a.1hb.1t + z_b.1.1 <= 1
	t_3_a.1tb.1h + z_a.1.1 <= 1
	t_3_a.1tb.1h + z_b.1.1 <= 1
	t_3_a.1tb.1t + z_a.1.1 <= 1
	t_3_a.1tb.1t + z_b.1.1 <= 1
	t_3_b.1hb.1t + z_b.1.1 <= 1
	t_3_b.1hb.1t + z_b.1.1 <= 1
	t_3_a.1ha.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1tb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1tb.1h - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1ha.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1hb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1hb.1h - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1tb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1hb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_b.1hb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1tb.1h - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1hb.1h - z_a.1.1 - z_b.1.1 <= 0
	t_3_b.1hb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1tb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1hb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_b.1hb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1tb.1h - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1hb.1h - z_a.1.1 - z_b.1.1 <= 0
	t_3_b.1hb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1ha.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1tb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1tb.1h - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1ha.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1hb.1t - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1hb.1h - z_a.1.1 - z_b.1.1 <= 0
	t_3_a.1ha.1t + t_3_a.1tb.1h + t_3_a.1tb.1t + z_a.1.1 - z_b.1.1 >= 0
	t_3_a.1ha.1t + t_3_a.1hb.1h + t_3_a.1hb.1t + z_a.1.1 - z_b.1.1 >= 0
	t_3_a.1hb.1t + t_3_a.1tb.1t + t_3_b.1hb.1t - z_a.1.1 + z_b.1.1 >= 0
	t_3_a.1hb.1h + t_3_a.1tb.1h + t_3_b.1hb.1t - z_a.1.1 + z_b.1.1 >= 0
	t_3_a.1hb.1t + t_3_a.1tb.1t + t_3_b.1hb.1t - z_a.1.1 + z_b.1.1 >= 0
	t_3_a.1hb.1h + t_3_a.1tb.1h + t_3_b.1hb.1t - z_a.1.1 + z_b.1.1 >= 0
	t_3_a.1ha.1t + t_3_a.1tb.1h + t_3_a.1tb.1t + z_a.1.1 - z_b.1.1 >= 0
	t_3_a.1ha.1t + t_3_a.1hb.1h + t_3_a.1hb.1t + z_a.1.1 - z_b.1.1 >= 0
	- u_3_a.1hb.1t + 3 z_a.1.1 + 3 z_b.1.1 >= 0
	- u_3_a.1tb.1h + 4 z_a.1.1 + 4 z_b.1.1 >= 0
	- u_3_a.1hb.1t + 3 z_a.1.1 + 3 z_b.1.1 >= 0
	- u_3_a.1tb.1h + 4 z_a.1.1 + 4 z_b.1.1 >= 0
	3 z_a.1.1 <= 3
	3 z_a.1.1 <= 3
	3 z_b.1.1 <= 3
	3 z_b.1.1 <= 3
	4 z_a.1.1 <= 4
	4 z_a.1.1 <= 4
	4 z_b.1.1 <= 4
	4 z_b.1.1 <= 4
	3 t_3_a.1hb.1t <= 3
	3 t_3_a.1hb.1t <= 3
	3 t_3_a.1hb.1t <= 3
	3 t_3_a.1hb.1t <= 3
	3 t_3_a.1ha.1t + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_a.1ha.1t - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_a.1hb.1h + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_a.1hb.1h - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_a.1tb.1t + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_a.1tb.1t - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_b.1hb.1t + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_b.1hb.1t - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	4 t_3_a.1ha.1t - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_a.1ha.1t + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_a.1tb.1t - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_a.1tb.1t + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_a.1hb.1h - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_a.1hb.1h + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_b.1hb.1t - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_b.1hb.1t + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_a.1tb.1h <= 4
	4 t_3_a.1tb.1h <= 4
	4 t_3_a.1tb.1h <= 4
	4 t_3_a.1tb.1h <= 4
	3 t_3_a.1hb.1t <= 3
	3 t_3_a.1hb.1t <= 3
	3 t_3_a.1hb.1t <= 3
	3 t_3_a.1hb.1t <= 3
	3 t_3_a.1ha.1t + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_a.1ha.1t - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_a.1hb.1h + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_a.1hb.1h - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_a.1tb.1t + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_a.1tb.1t - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_b.1hb.1t + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_b.1hb.1t - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	4 t_3_a.1ha.1t - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_a.1ha.1t + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_a.1tb.1t - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_a.1tb.1t + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_a.1hb.1h - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_a.1hb.1h + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_b.1hb.1t - u_3_a.1hb.1t + u_3_a.1tb.1h <= 4
	3 t_3_b.1hb.1t + u_3_a.1hb.1t - u_3_a.1tb.1h <= 3
	4 t_3_a.1tb.1h <= 4
	4 t_3_a.1tb.1h <= 4
	4 t_3_a.1tb.1h <= 4
	4 t_3_a.1tb.1h <= 4
	- 3 p_3_a.1hb.1t + u_3_a.1hb.1t >= 0
	- 4 p_3_a.1tb.1h + u_3_a.1tb.1h >= 0
	r_3_a.1h + r_3_b.1t <= 0
	r_3_a.1t + r_3_b.1h <= 0
	r_3_a.1h + r_3_b.1t <= 0
	r_3_a.1t + r_3_b.1h <= 0
	2 r_3_a.1t + 2 t_3_a.1ta.1t <= 2
	r_3_a.1h + r_3_a.1t + 2 t_3_a.1ha.1t <= 2
	r_3_a.1t + r_3_b.1t + 2 t_3_a.1tb.1t <= 2
	r_3_a.1h + r_3_a.1t + 2 t_3_a.1ha.1t <= 2
	2 r_3_a.1h + 2 t_3_a.1ha.1h <= 2
	r_3_a.1h + r_3_b.1h + 2 t_3_a.1hb.1h <= 2
	r_3_a.1t + r_3_b.1t + 2 t_3_a.1tb.1t <= 2
	2 r_3_b.1t + 2 t_3_b.1tb.1t <= 2
	r_3_b.1h + r_3_b.1t + 2 t_3_b.1hb.1t <= 2
	r_3_a.1h + r_3_b.1h + 2 t_3_a.1hb.1h <= 2
	r_3_b.1h + r_3_b.1t + 2 t_3_b.1hb.1t <= 2
	2 r_3_b.1h + 2 t_3_b.1hb.1h <= 2
	2 r_3_a.1t + 2 t_3_a.1ta.1t <= 2
	r_3_a.1h + r_3_a.1t + 2 t_3_a.1ha.1t <= 2
	r_3_a.1t + r_3_b.1t + 2 t_3_a.1tb.1t <= 2
	r_3_a.1h + r_3_a.1t + 2 t_3_a.1ha.1t <= 2
	2 r_3_a.1h + 2 t_3_a.1ha.1h <= 2
	r_3_a.1h + r_3_b.1h + 2 t_3_a.1hb.1h <= 2
	r_3_a.1t + r_3_b.1t + 2 t_3_a.1tb.1t <= 2
	2 r_3_b.1t + 2 t_3_b.1tb.1t <= 2
	r_3_b.1h + r_3_b.1t + 2 t_3_b.1hb.1t <= 2
	r_3_a.1h + r_3_b.1h + 2 t_3_a.1hb.1h <= 2
	r_3_b.1h + r_3_b.1t + 2 t_3_b.1hb.1t <= 2
	2 r_3_b.1h + 2 t_3_b.1hb.1h <= 2
	2 z_a.1.1 <= 2
	- 2 z_a.1.1 >= -2
	2 z_a.1.1 <= 2
	- 2 z_a.1.1 >= -2
	2 z_b.1.1 <= 2
	- 2 z_b.1.1 >= -2
	2 z_b.1.1 <= 2
	- 2 z_b.1.1 >= -2
	l_a.1t + z_a.1.1 >= 0
	l_a.1t - z_a.1.1 <= 0
	l_a.1t - r_3_a.1t + 2 z_a.1.1 <= 2
	- l_a.1t + r_3_a.1t + 2 z_a.1.1 <= 2
	l_a.1h + z_a.1.1 >= 0
	l_a.1h - z_a.1.1 <= 0
	l_a.1h - r_3_a.1h + 2 z_a.1.1 <= 2
	- l_a.1h + r_3_a.1h + 2 z_a.1.1 <= 2
	l_b.1t + z_b.1.1 >= 0
	l_b.1t - z_b.1.1 <= 0
	l_b.1t - r_3_b.1t + 2 z_b.1.1 <= 2
	- l_b.1t + r_3_b.1t + 2 z_b.1.1 <= 2
	l_b.1h + z_b.1.1 >= 0
	l_b.1h - z_b.1.1 <= 0
	l_b.1h - r_3_b.1h + 2 z_b.1.1 <= 2
	- l_b.1h + r_3_b.1h + 2 z_b.1.1 <= 2
	2 o_3_0 + z_a.1.1 + z_b.1.1 <= 2
	2 o_3_0 + z_a.1.1 + z_b.1.1 <= 2

Bounds
	u_3_a.1hb.1t >= 0
	u_3_a.1hb.1t <= 3
	u_3_a.1tb.1h >= 0
	u_3_a.1tb.1h <= 4
	r_3_a.1t >= -1
	r_3_a.1t <= 1
	r_3_a.1h >= -1
	r_3_a.1h <= 1
	r_3_b.1t >= -1
	r_3_b.1t <= 1
	r_3_b.1h >= -1
	r_3_b.1h <= 1
	r_3_a.1t >= -1
	r_3_a.1t <= 1
	r_3_a.1h >= -1
	r_3_a.1h <= 1
	r_3_b.1t >= -1
	r_3_b.1t <= 1
	r_3_b.1h >= -1
	r_3_b.1h <= 1


Binary
	p_3_a.1hb.1t
	p_3_a.1tb.1h
	t_3_a.1ha.1h
	t_3_a.1ha.1t
	t_3_a.1hb.1h
	t_3_a.1hb.1t
	t_3_a.1ta.1t
	t_3_a.1tb.1h
	t_3_a.1tb.1t
	t_3_b.1hb.1h
	t_3_b.1hb.1t
	t_3_b.1tb.1t
	z_a.1.1
	z_b.1.1

General
	l_a.1h
	l_a.1t
	l_b.1h
	l_b.1t
	o_3_0
	r_3_a.1h
	r_3_a.1t
	r_3_b.1h
	r_3_b.1t
	u_3_a.1hb.1t
	u_3_a.1tb.1h

End