onerror h
x = y
print "after"
end
h:
z = w
return
