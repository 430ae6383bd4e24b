// Before rlocate: rrelocate does nothing, the functions answer, rlinecolor fails.
rrelocate 10, 10, 90
rpen 1
print rpoints(); rchargelevel(); rgpsx(); rlook(); length(rcommand(1, 2))
rlinecolor 4
print "never"
