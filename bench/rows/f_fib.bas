call fib(30)
print fib__Result
end
sub fib(n)
if n < 2 then return n
call fib(n - 1)
a = fib__Result
call fib(n - 2)
return a + fib__Result
