n = "add"
call (n)(2, 3)
print add__Result
end
sub add(a, b)
return a * b
