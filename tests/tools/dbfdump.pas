{ Prints a dBase table as the TDbf component reads it, for the tests:
  "level N", one "field NAME TYPE LENGTH DECIMALS" line per field, then for
  every visible record "record" and one "NAME=value" line per field
  ("<blank>" for an empty value). Texts are printed as stored, numbers with
  ".", dates as YYYYMMDD, logicals as T or F.
  Usage: dbfdump TABLE.DBF }
program dbfdump;
{$mode objfpc}{$H+}
uses SysUtils, db, dbf, dbf_fields;
var
  Table: TDbf;
  Def: TDbfFieldDef;
  Field: TField;
  Numbers: TFormatSettings;
  i: Integer;
begin
  if ParamCount <> 1 then begin
    WriteLn(StdErr, 'usage: dbfdump TABLE.DBF');
    Halt(2);
  end;
  Numbers := DefaultFormatSettings;
  Numbers.DecimalSeparator := '.';
  Table := TDbf.Create(nil);
  try
    Table.FilePathFull := ExtractFilePath(ExpandFileName(ParamStr(1)));
    Table.TableName := ExtractFileName(ParamStr(1));
    Table.ReadOnly := True;
    Table.Open;
    WriteLn('level ', Table.TableLevel);
    for i := 0 to Table.DbfFieldDefs.Count - 1 do begin
      Def := Table.DbfFieldDefs.Items[i];
      WriteLn('field ', Def.FieldName, ' ', Def.NativeFieldType, ' ', Def.Size, ' ', Def.Precision);
    end;
    while not Table.EOF do begin
      WriteLn('record');
      for i := 0 to Table.FieldCount - 1 do begin
        Field := Table.Fields[i];
        Write(Field.FieldName, '=');
        if Field.IsNull then WriteLn('<blank>')
        else case Field.DataType of
          ftFloat: WriteLn(FloatToStr(Field.AsFloat, Numbers));
          ftBoolean: if Field.AsBoolean then WriteLn('T') else WriteLn('F');
          ftDate, ftDateTime: WriteLn(FormatDateTime('yyyymmdd', Field.AsDateTime));
          else WriteLn(Field.AsString);
        end;
      end;
      Table.Next;
    end;
    Table.Close;
  except
    on E: Exception do begin
      WriteLn(StdErr, 'dbfdump: ', E.Message);
      Halt(1);
    end;
  end;
end.
