declare x = 1
x = "a"
