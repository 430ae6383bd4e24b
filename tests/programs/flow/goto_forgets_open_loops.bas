for i = 1 to 3
goto out
next
out:
next
