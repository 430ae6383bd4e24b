h = filecreate("x")
print filereadi(h, 1)
