for i = 1 to 3
for j = 1 to 3
if j = 2 then break
print i * 10 + j
next
next
