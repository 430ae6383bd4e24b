serin s
print "[", s, "]"
checkserbuffer n
readsersignals m
gettimeout t
print n, " ", m, " ", t
sound 0, 10
sound 300, 20, 0
playsong "T1000 P64 C64"
serout "nothing to send"
setcommport 0
setcommport 50000
print "not reached"
