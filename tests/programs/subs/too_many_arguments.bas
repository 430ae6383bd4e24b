call f(1, 2)
end
sub f(a)
return
