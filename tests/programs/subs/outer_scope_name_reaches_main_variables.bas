a = 10
call f(1)
print f__Result
end
sub f(a)
return a + _a
