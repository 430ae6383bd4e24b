n = 0
for i = 1 to 6000000
gosub s
next
print n
end
s:
n++
return
