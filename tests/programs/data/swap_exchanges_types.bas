a = 1
b = "x"
swap a, b
print a; b
