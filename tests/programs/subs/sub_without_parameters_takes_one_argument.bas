call f(5)
print "ok"
end
sub f()
return
