call inc(x)
print x
x = 5
call inc(x)
print x
end
sub inc(&n)
n = n + 1
return
