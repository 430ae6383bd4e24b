print "crlf"
if 1 then print "ok"
