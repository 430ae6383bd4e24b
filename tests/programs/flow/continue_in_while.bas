i = 0
while i < 4
i++
if i = 2 then continue
print i
wend
