' With no debug window the debugging statements change nothing and never wait.
debugon
debug "x = "; 5, " and more"
debug
stepping
stepping 0
stepping 2.7
debugoff
print "went on"
