x = 1
gosub s
print x
end
s:
x = 2
return
