s = "a"
s++
