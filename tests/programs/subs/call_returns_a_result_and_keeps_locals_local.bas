call add(1, 2)
print add__Result
print a
end
sub add(a, b)
return a + b
