s = "1234567890"
t = s + s + s + s + s + s + s + s + s + s
print t
