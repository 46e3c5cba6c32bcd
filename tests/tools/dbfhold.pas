{ Holds a dBase table open exclusively with the TDbf component, as another
  program would, until its standard input ends. Prints "held" once the table
  is open, or "error MESSAGE" and exits with 1 when it cannot open it.
  Usage: dbfhold TABLE.DBF }
program dbfhold;
{$mode objfpc}{$H+}
uses SysUtils, db, dbf;
var
  Table: TDbf;
  Rest: string;
begin
  if ParamCount <> 1 then begin
    WriteLn(StdErr, 'usage: dbfhold TABLE.DBF');
    Halt(2);
  end;
  Table := TDbf.Create(nil);
  Table.FilePathFull := ExtractFilePath(ExpandFileName(ParamStr(1)));
  Table.TableName := ExtractFileName(ParamStr(1));
  Table.Exclusive := True;
  try
    Table.Open;
  except
    on E: Exception do begin
      WriteLn('error ', E.Message);
      Flush(Output);
      Halt(1);
    end;
  end;
  WriteLn('held');
  Flush(Output);
  while not EOF(Input) do ReadLn(Rest);
  Table.Close;
end.
