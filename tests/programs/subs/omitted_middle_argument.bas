call f(1, , 3)
end
sub f(a, b, c)
print a + c
print b
return
