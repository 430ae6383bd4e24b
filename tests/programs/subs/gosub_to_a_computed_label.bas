n = 100
gosub n
end
100 print "in"
return
