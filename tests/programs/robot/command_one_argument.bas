rlocate 400, 300
print rcommand(65)
