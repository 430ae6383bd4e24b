x = 1
for i = 1 to 3
call f(i)
x = x + 1
next
print x
print f__Result
call r(3)
print r__Result
end
sub f(n)
x = n * 10
for i = 1 to 2
x = x + i
next
return x
sub r(n)
v = n
if n > 0 then call r(n - 1)
v = v * 2
return v
