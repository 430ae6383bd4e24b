x = 5
call f(x)
print x
end
sub f(n)
n = 9
return
