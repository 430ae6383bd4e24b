_g = 3
print g + _g
