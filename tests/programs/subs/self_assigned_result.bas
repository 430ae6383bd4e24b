call foo()
print foo__Result
end
sub foo()
foo__Result = 7
return
