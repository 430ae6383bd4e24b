dim v[3]
mtranspose v, t
