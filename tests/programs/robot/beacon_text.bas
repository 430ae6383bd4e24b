rlocate 400, 300
print rbeacon("a")
