call f()
print f__Result
end
sub f()
onerror h
x = y
return 3
h:
return
