debug "a";
print "ok"
debug "a" "b"
