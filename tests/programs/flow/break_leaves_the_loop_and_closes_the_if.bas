i = 0
while 1
i++
if i = 3
break
endif
wend
print i
endif
