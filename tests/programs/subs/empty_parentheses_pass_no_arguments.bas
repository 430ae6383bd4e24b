call f()
print f__Result
end
sub f(a)
return 1
