call f(2 + 3)
print "ok"
end
sub f(&n)
n = 1
return
