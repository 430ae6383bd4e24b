gosub 100
print "back"
end
100 print "in"
return
