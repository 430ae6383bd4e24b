a = 1
swap a, b
