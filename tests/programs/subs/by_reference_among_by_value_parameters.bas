x = 1
y = 2
z = 3
call h(x, y, z)
print x
print y
print z
w = 7
call k(1 + 1, w)
print w
print k__Result
end
sub h(a, &b, c)
a = 100
b = 200
c = 300
return
sub k(&p, &q)
p = p + 1
q = q * 2
return p
