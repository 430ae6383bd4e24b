declare x = "a"
x = 1
