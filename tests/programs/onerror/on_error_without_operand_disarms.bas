onerror h
onerror
x = y
end
h:
return
