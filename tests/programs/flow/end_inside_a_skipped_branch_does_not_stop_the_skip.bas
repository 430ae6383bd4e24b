if 0
end
else
print "else"
endif
print "after"
