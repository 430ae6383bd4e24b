call f()
next
end
sub f()
for j = 1 to 10
return
