dim r[2, 2]
r[0, 0] = "name"
objectget r, 0
