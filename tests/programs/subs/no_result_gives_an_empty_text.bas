call foo()
print "[" + foo__Result + "]"
end
sub foo()
return
