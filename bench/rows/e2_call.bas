for i = 1 to 2000000
call f(i)
next
print "done"
end
sub f(x)
return
