s = "a"
s += 1
s += 2.5
s += "z"
print s
