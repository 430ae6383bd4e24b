call f(1)
call f(2)
end
sub f(n)
if n = 1
s = "a text too long to be kept inside a short string buffer"
t = 5
return
endif
print n
print s
return
