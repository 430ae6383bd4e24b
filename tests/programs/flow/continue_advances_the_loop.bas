s = ""
for i = 1 to 5
if i = 3
continue
endif
s = s + i
next
print s
