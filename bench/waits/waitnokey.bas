waitnokey 5000
print "released"
