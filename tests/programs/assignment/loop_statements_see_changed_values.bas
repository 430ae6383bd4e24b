// Statements that run again see what changed since: the type a variable
// holds, a text in an element, a counter at the end of its range.
dim a[3]
big = 2147483646
v = 1
n = 5
m = 0
for k = 1 to 3
x = v * 2
v = 0.25 * k
a[k - 1] = x + k
big++
n--
gosub note
next
print x; " "; v; " "; a[0]; " "; a[1]; " "; a[2]; " "; big; " "; n; " "; m
a[1] = "t"
for k = 1 to 2
a[1] = a[1] + k
next
print a[1]
for k = 1 to 3
y = 12 / (3 - k)
print y
next
end
note:
m = m + k
return
