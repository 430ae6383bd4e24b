declare n = 0
n = 3e9
