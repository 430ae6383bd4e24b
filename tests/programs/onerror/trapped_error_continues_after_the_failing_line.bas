onerror h
x = y
print "after"
end
h:
print "trapped"
return
