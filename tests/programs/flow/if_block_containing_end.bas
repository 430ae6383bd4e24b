if 1
print "a"
end
endif
print "never"
