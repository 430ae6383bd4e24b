call deeper("")
end
sub deeper(p)
call deeper(spaces(20000000))
return 0
