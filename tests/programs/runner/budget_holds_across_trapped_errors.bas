n = 0
top:
onerror h
x = y
goto top
h:
n++
print n
return
