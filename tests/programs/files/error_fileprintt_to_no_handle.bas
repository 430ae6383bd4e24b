h = -1
fileprintb h
print "empty binary output writes nothing"
fileprintt h
