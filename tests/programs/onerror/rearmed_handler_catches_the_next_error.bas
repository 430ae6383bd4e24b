n = 0
onerror h
x = y
x = z
print n
end
h:
n++
onerror h
return
