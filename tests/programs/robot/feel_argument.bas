rlocate 400, 300
print rfeel(1)
