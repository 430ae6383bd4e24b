' A sub reaches the main program's variables and arrays through underscore
' names with every operator, the third call onwards from its ready forms.
x = 1
s = "a"
dim a[3]
a[1] = 10
a[2] = "t"
for k = 1 to 4
call change(k)
next
print x; " "; s; " "; a[1]; " "; a[2]
end
sub change(n)
_x += n
_x++
_x *= 2
_s = _s + n
_s += "-"
_a[1] -= n
_a[1]++
_a[2] += n
_a[2] += "."
return
