i = 0
while i < 3
i++
wend
print i
