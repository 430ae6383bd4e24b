call f(1)
end
sub f(a, b)
print a
print b
return
